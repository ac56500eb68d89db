// The wizard as a whole: owns the six pages, creates each the first time it is
// shown (running its load then), and moves between them.
#pragma once

#include "folderlock.h"
#include "seams.h"

#include <array>
#include <memory>

namespace deckfile {
struct Deck3dAnswers;
}

class Wizard : public Navigator {
public:
    Wizard(const QString &programFolder, host::Connector *host, MessageBoxes *messages, ProgramEnd *end);
    ~Wizard() override;

    // Takes the program folder for this run, then creates the start page, whose
    // load clears old files, greets the host and shows the page. False when
    // another wizard runs from the folder: the program should end at once.
    [[nodiscard]] bool start();

    void move(QWidget *from, PageId to) override;
    WizardPage *existingPage(PageId id) const override;

    // The page, created and loaded if this is its first use.
    WizardPage *page(PageId id);

private:
    WizardContext m_context;
    // What the later 3D pages hold for the 3D finish.
    std::unique_ptr<deckfile::Deck3dAnswers> m_deck3d;
    std::array<std::unique_ptr<WizardPage>, 6> m_pages;
    FolderLock m_lock;
};
