#include "host/app/PluginModules.h"

std::vector<std::string> ModuleCandidates(std::string_view programPath) {
    const std::size_t slash = programPath.find_last_of("\\/");
    if (slash == std::string_view::npos)
        return {};
    const std::string folder(programPath.substr(0, slash + 1));
    return {folder + std::string(kPluginModuleName), folder + std::string(kOtherPluginModuleName)};
}
