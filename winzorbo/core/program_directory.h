#pragma once

#include <string>
#include <string_view>

// Data files live next to the executable. The folder is found once from
// /proc/self/exe (argv[0] only as a fallback) and can be replaced by tests.
void find_program_directory(const char* argv0);
void set_program_directory(std::string directory);
const std::string& program_directory();

// <program directory>/<name>; name may contain sub-folders ("scn/x.zrb").
std::string data_path(std::string_view name);
