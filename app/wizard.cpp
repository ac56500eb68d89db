#include "wizard.h"

#include "shading.h"
#include "wiz_1.h"
#include "wiz_2d_1.h"
#include "wiz_3d_1.h"
#include "wiz_3d_2.h"
#include "wiz_3d_post.h"

#include "resources.h"

Wizard::Wizard(const QString &programFolder, host::Connector *host, MessageBoxes *messages, ProgramEnd *end)
    : m_context{programFolder, host, messages, end, this},
      m_deck3d(std::make_unique<deckfile::Deck3dAnswers>()),
      m_lock(programFolder)
{
}

Wizard::~Wizard() = default;

bool Wizard::start()
{
    // A second wizard in the same folder goes before it deletes or writes anything.
    if (!m_lock.claim()) {
        m_context.messages->show(nullptr, MessageBoxes::Icon::Information, AlreadyRunningMessage);
        return false;
    }
    // The start page's pictures and icon are decoded while its controls are
    // built and their captions laid out.
    using resources::Picture;
    resources::DecodingAhead startPagePictures({Picture::Deck3D, Picture::Deck2D, Picture::Banner}, {1});
    page(PageId::Wiz_1)->show();
    return true;
}

WizardPage *Wizard::existingPage(PageId id) const
{
    return m_pages[std::size_t(id)].get();
}

WizardPage *Wizard::page(PageId id)
{
    auto &slot = m_pages[std::size_t(id)];
    if (!slot) {
        switch (id) {
        case PageId::Wiz_1: slot = std::make_unique<Wiz_1>(m_context); break;
        case PageId::Wiz_2D_1: slot = std::make_unique<Wiz_2D_1>(m_context); break;
        case PageId::Wiz_3D_1: slot = std::make_unique<Wiz_3D_1>(m_context); break;
        case PageId::Wiz_3D_Post: slot = std::make_unique<Wiz_3D_Post>(m_context, *m_deck3d); break;
        case PageId::Wiz_3D_2: slot = std::make_unique<Wiz_3D_2>(m_context, *m_deck3d); break;
        case PageId::Shading: slot = std::make_unique<Shading>(m_context, *m_deck3d); break;
        }
        slot->setPageIcon();
        slot->load();
    }
    return slot.get();
}

void Wizard::move(QWidget *from, PageId to)
{
    WizardPage *target = page(to);
    target->show();
    target->raise();
    target->activateWindow();
    if (from && from != target)
        from->hide();
}
