# The version of the host's installed headers, which the cross-build uses.
include(/usr/share/cmake/nlohmann_json/nlohmann_jsonConfigVersion.cmake)
