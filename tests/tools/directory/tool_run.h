#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tarvenne::testing {

struct ToolRun {
    std::string output; // standard output, and standard error unless it was left out
    int exitStatus = -1;
};

enum class Streams { OutputAndErrors, OutputOnly };

// One argument for the command interpreter, quoted.
std::string quoted(const std::string& argument);

// Runs the operator tool through the command interpreter with `arguments` and a locale of its
// own. On Windows the system's ANSI code page applies whatever the locale.
ToolRun runTool(const std::string& arguments, const std::string& locale = "C",
                Streams streams = Streams::OutputAndErrors);

// The same for the operator tool built with the tests' operator key.
ToolRun runToolWithTestKey(const std::string& arguments,
                           Streams streams = Streams::OutputAndErrors);

// A folder of its own for the documents of one test, removed with the object.
class DocumentFolder {
public:
    DocumentFolder();
    ~DocumentFolder();
    DocumentFolder(const DocumentFolder&) = delete;
    DocumentFolder& operator=(const DocumentFolder&) = delete;

    // Writes a document and gives the path to pass with --file.
    std::string write(const std::string& name, std::string_view bytes) const;

private:
    std::filesystem::path folder_;
};

} // namespace tarvenne::testing
