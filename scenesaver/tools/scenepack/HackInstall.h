#pragma once

#include <string>

// Installing a saver as an XScreenSaver hack. XScreenSaver runs the hacks
// named in the programs: list of ~/.xscreensaver (merged with the system's
// list), looking them up in its hack folder (PREFIX/libexec/xscreensaver)
// first; its settings program describes a hack from
// PREFIX/share/xscreensaver/config/NAME.xml, NAME being the command's file
// name. It has no folders per user, so a user install puts the saver in
// ~/.local/libexec/xscreensaver and names it by its full path.

struct HackFolders {
    std::string hacks;  // the saver goes here as NAME
    std::string config; // and its settings description as NAME.xml
    bool system = false;
};

enum class HackTarget {
    Automatic, // the system's folders when they can be written, else the user's
    System,
    User,
    Prefix, // the folders of an XScreenSaver installed under a prefix of one's own
};

struct HackInstallRequest {
    std::string scene; // a manifest, or a saver that scenepack built
    std::string name;  // the saver's file name, which also keys its own settings
    std::string label; // the name XScreenSaver shows; the file name when empty
    std::string player;
    HackTarget target = HackTarget::Automatic;
    std::string prefix; // HackTarget::Prefix
    bool quiet = false; // errors only
};

// The prefix XScreenSaver was installed under: $SCENEPACK_XSCREENSAVER_PREFIX
// when set, else /usr.
std::string XScreenSaverPrefix();
HackFolders FoldersUnder(const std::string& prefix);
// $HOME/.local/libexec/xscreensaver, $XDG_DATA_HOME/xscreensaver/config.
HackFolders UserFolders();

// A name that is a plain file name and a single word of shell syntax, which
// is how XScreenSaver reads its programs list. False with the reason.
bool CheckHackName(const std::string& name, std::string& why);
bool CheckHackLabel(const std::string& label, std::string& why);

// The settings description XScreenSaver's settings program reads.
std::string SettingsDescription(const std::string& name, const std::string& label);
// A word of shell syntax that stands for the text.
std::string ShellWord(const std::string& text);
// The entry for the programs: list in ~/.xscreensaver, with its continuation.
std::string ProgramsLine(const std::string& label, const std::string& hackPath);

// Installs the saver and its description and, unless quiet, prints where
// they went and the line for ~/.xscreensaver. The exit status: 0, 1 when it failed (said on
// standard error), 2 for a bad name or label.
int InstallHack(const HackInstallRequest& request);
