#pragma once

#include "notes/Note.h"
#include "notes/NotesUser.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

// Stands in for the tray application: remembers what it was shown and
// answers questions from a script (No once the script runs out).
class ScriptedUser : public NotesUser {
public:
    std::vector<std::string> alerts;    // "title|text"
    std::vector<std::string> questions; // "title|text"
    std::deque<bool> answers;
    std::vector<Note*> opened;
    std::vector<Note*> openWindows;
    int edits = 0;
    // Runs while an alert or a question is open, as the event loop of a
    // modal dialog would run timers.
    std::function<void()> whileDialogOpen;

    void CopyEditsIntoNotes() override { ++edits; }
    void OpenNoteWindow(Note& note) override { opened.push_back(&note); }
    std::vector<Note*> OpenNotes() override { return openWindows; }
    void Alert(const plat::String& title, const plat::String& text) override {
        alerts.push_back(std::string(title.c_str()) + "|" + text.c_str());
        RunDialogLoop();
    }
    bool AskYesNo(const plat::String& title, const plat::String& text) override {
        questions.push_back(std::string(title.c_str()) + "|" + text.c_str());
        RunDialogLoop();
        if (answers.empty()) {
            return false;
        }
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }

private:
    void RunDialogLoop() {
        if (whileDialogOpen) {
            whileDialogOpen();
        }
    }
};
