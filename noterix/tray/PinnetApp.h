#pragma once

#include "notes/NotesKeeper.h"
#include "notes/NotesUser.h"
#include "wkit/Application.h"

// The program: an icon in the notification area, the notes behind it, and
// the options dialog as its hidden main dialog.
class PinnetApp : public wkit::ApplicationDialog, public NotesUser {
public:
    PinnetApp();
    ~PinnetApp() override; // slot 0

    bool OnCommand(std::int32_t id) override;                         // slot 2
    bool OnStart() override;                                          // slot 5
    void OnQuit() override;                                           // slot 6
    bool CreateMainWindow() override;                                 // slot 7
    wkit::IconAction ClassifyIconClick(std::uint32_t flags) override; // slot 9
    std::shared_ptr<wkit::Menu> BuildIconMenu(std::shared_ptr<wkit::Menu> menu,
                                              std::uint32_t flags) override; // slot 10
    wkit::Dialog* CreateMainDialog() override;                               // slot 12

    // NotesUser: what the notes keeper asks of the windows and the user.
    void CopyEditsIntoNotes() override;
    void OpenNoteWindow(Note& note) override;
    std::vector<Note*> OpenNotes() override;
    void Alert(const plat::String& title, const plat::String& text) override;
    bool AskYesNo(const plat::String& title, const plat::String& text) override;

    NotesKeeper& Keeper() { return keeper_; }

    bool OnExit();
    bool OnNewNote();
    bool OnShowAll();
    bool OnHideAll();
    bool OnShowOrHide();
    bool OnOptions();
    bool OnSaveNow();
    bool OnSaveOpenNotes();
    bool OnAbout();

    const wkit::CommandMap* GetCommandMap() const override { return &commandMap; }
    static const wkit::CommandMap commandMap;

private:
    // While the user is idle, the icon's menus are built ahead of the next
    // click: a list of thousands of notes then shows at once.
    class MenuWarmer : public wkit::IdleHandler {
    public:
        explicit MenuWarmer(PinnetApp& app) : app_(app) {}
        bool OnIdle(std::uint32_t) override {
            app_.PrepareIconMenus();
            return false;
        }

    private:
        PinnetApp& app_;
    };

    NotesKeeper keeper_;
    MenuWarmer menuWarmer_{*this};
    std::int32_t showPosition_ = -1;
    bool showPresent_ = true;
    std::shared_ptr<wkit::Menu> notesMenu_;
};
