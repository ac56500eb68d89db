#include "finish3d.h"

#include "freeformat.h"
#include "sequences.h"
#include "shading.h"
#include "wiz_3d_2.h"
#include "wiz_3d_post.h"

#include <QComboBox>
#include <QRadioButton>

namespace finish3d {

Stored readStored(const QString &programFolder)
{
    Stored stored;
    const auto typeFile = textfiles::readWhole(textfiles::pathIn(programFolder, QStringLiteral("DeckType.txt")));
    if (typeFile.failure) {
        stored.failure = typeFile.failure;
        return stored;
    }
    const auto deckType = freeformat::readDeckType(typeFile.bytes);
    if (deckType.failure) {
        stored.failure = deckType.failure;
        return stored;
    }
    stored.deckType = deckType.value;

    const QString sizesName = QStringLiteral("Sizes.txt");
    const auto sizesFile = textfiles::readWhole(textfiles::pathIn(programFolder, sizesName));
    if (sizesFile.failure) {
        stored.failure = sizesFile.failure;
        return stored;
    }
    const auto sizes = freeformat::readNumbers(sizesFile.bytes, 2, sizesName);
    if (sizes.failure) {
        stored.failure = sizes.failure;
        return stored;
    }
    stored.deckWidth = sizes.values[0];
    stored.deckLength = sizes.values[1];
    return stored;
}

std::optional<textfiles::Failure> completeParameterFile(const QString &programFolder,
                                                        const deckparameters::Answers &answers)
{
    const QString path = textfiles::pathIn(programFolder, deckparameters::parameterFile(answers.deckType));
    // The dimension lines must be there: framing lines without them would
    // give the symbol a deck of no size.
    const auto head = textfiles::readWhole(path);
    if (head.failure)
        return head.failure;
    return textfiles::writeWhole(path, head.bytes + textfiles::encodeLines(deckparameters::framingLines(answers)));
}

} // namespace finish3d

namespace {

using namespace deckparameters;

bool checked(const QRadioButton *option) { return option && option->isChecked(); }

// The answers left on the hidden pages. The road passes through both pages
// before this one, so they exist; without them the answers are those of pages
// never touched.
Answers answersOnPages(WizardContext &context, const Shading &shading)
{
    Answers answers;
    if (auto *sizes = qobject_cast<Wiz_3D_2 *>(context.navigator->existingPage(PageId::Wiz_3D_2))) {
        answers.beamSize = sizes->BeamSize->currentText();
        answers.joistSize = sizes->JoistSize->currentText();
    }
    if (auto *post = qobject_cast<Wiz_3D_Post *>(context.navigator->existingPage(PageId::Wiz_3D_Post))) {
        answers.posts = checked(post->Option1) ? Posts::FourInch : Posts::SixInch;
        answers.decking = checked(post->Option3)   ? Decking::TwoByFour
                          : checked(post->Option4) ? Decking::TwoBySix
                                                   : Decking::FiveQuarterBySix;
    }
    answers.viewing = checked(shading.Option2)   ? ViewingMode::HiddenLine
                      : checked(shading.Option3) ? ViewingMode::Shaded
                                                 : ViewingMode::Wireframe;
    return answers;
}

} // namespace

void Shading::finish()
{
    const finish3d::Stored stored = finish3d::readStored(context().programFolder);
    if (stored.failure) {
        reportFailure(stored.failure->number, stored.failure->description);
        endProgram();
        return;
    }

    Answers answers = answersOnPages(context(), *this);
    answers.deckType = stored.deckType;
    answers.deckWidth = stored.deckWidth;

    if (joistsDeeperThanBeams(answers.deckType, answers.beamSize, answers.joistSize)) {
        showMessage(JoistsTooDeepMessage);
        return;
    }

    if (const auto failure = finish3d::completeParameterFile(context().programFolder, answers)) {
        reportFailure(failure->number, failure->description);
        endProgram();
        return;
    }
    hide();

    const host::Status handedOff =
        context().host ? host::runFinish3D(*context().host, symbolPath(answers.deckType).toStdString())
                       : host::Status(host::Error{host::errors::NoHost, "No host application is running."});
    if (!handedOff)
        reportFailure(handedOff.error().number, QString::fromStdString(handedOff.error().description));
    endProgram();
}
