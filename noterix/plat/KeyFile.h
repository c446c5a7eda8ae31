#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace plat {

// The typed key file that holds the preferences:
//
//   # comment
//   Top=dword:1                  (values before any section belong to the root)
//   [UI.AskUserAbout]
//   DeleteNote=dword:0
//   DeleteNote_LastChoice=sz:Yes
//
// Types are dword (decimal or 0x hex), sz, expand_sz, multi_sz (strings
// separated by \0) and binary (hex pairs). Texts escape backslash, control
// characters and the characters that would end a name as \\, \n, \r, \t,
// \0 and \xHH. Section and value names match without regard to case. Lines
// that cannot be understood are kept as they are, so that rewriting a file
// loses nothing.
class KeyFile {
public:
    enum class Type { Dword, Sz, ExpandSz, MultiSz, Binary };
    struct Value {
        Type type = Type::Sz;
        std::uint32_t dword = 0;
        std::string bytes; // texts and binary data
    };

    // Files larger than this are refused rather than half read.
    static constexpr std::size_t MaxFileSize = 1 << 20;

    // False only when the text is too large.
    bool Parse(std::string_view text);
    std::string Serialize() const;

    // section: node names below the root joined with '.', empty for the root.
    const Value* Find(std::string_view section, std::string_view name) const;
    void Set(std::string_view section, std::string_view name, const Value& value);

private:
    struct Line {
        enum Kind { Raw, Section, Entry } kind = Raw;
        std::string raw;     // Raw lines, verbatim
        std::string section; // Section headers: the decoded section name
        std::string name;    // Entries
        Value value;
    };

    bool ParseEntry(std::string_view text, Line& line) const;
    // Index range [begin, end) of the entries of a section; false when the
    // section has no header (the root always exists).
    bool SectionRange(std::string_view section, std::size_t& begin, std::size_t& end) const;

    std::vector<Line> lines_;
};

} // namespace plat
