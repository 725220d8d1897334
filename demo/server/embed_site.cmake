# Writes a C++ source that holds the bundled site's files, looked up by file name.
#   cmake -DSITE_DIR=<folder> -DFILES=<name,name,...> -DOUTPUT=<file.cpp> -P embed_site.cmake
string(REPLACE "," ";" files "${FILES}")
set(entries "")
foreach(name IN LISTS files)
    file(READ "${SITE_DIR}/${name}" hex HEX)
    string(LENGTH "${hex}" digits)
    math(EXPR size "${digits} / 2")
    set(literal "\"\"")
    set(offset 0)
    while(offset LESS digits)
        string(SUBSTRING "${hex}" ${offset} 64 chunk)
        string(REGEX REPLACE "(..)" "\\\\x\\1" chunk "${chunk}")
        string(APPEND literal "\n         \"${chunk}\"")
        math(EXPR offset "${offset} + 64")
    endwhile()
    string(APPEND entries "        {\"${name}\", {${literal}, ${size}}},\n")
endforeach()
file(WRITE "${OUTPUT}.new" "// Generated from the bundled site's files; do not edit.
#include \"site_files.h\"

#include <utility>

namespace tarvenne::demo {

std::optional<std::string_view> siteFile(std::string_view name) {
    static constexpr std::pair<std::string_view, std::string_view> files[] = {
${entries}    };
    for (const auto& [fileName, contents] : files) {
        if (fileName == name) {
            return contents;
        }
    }
    return std::nullopt;
}

} // namespace tarvenne::demo
")
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
