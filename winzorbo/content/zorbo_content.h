#pragma once

#include <string>
#include <vector>

// Builds every data file into output: "Zorbo.dat", "text.txt",
// "credits.txt" and the playfields in "scn". Sources (maps and texts) come
// from source. With a preview folder, pictures of every sprite sheet and of
// each playfield's background are written there too. Problems are appended;
// false when anything could not be made.
bool build_content(const std::string& source, const std::string& output, const std::string& preview,
                   std::vector<std::string>& problems);
