#include "finish3d.h"

#include "freeformat.h"
#include "sequences.h"
#include "shading.h"

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

using namespace deckparameters;

void Shading::finish()
{
    const finish3d::Stored stored = finish3d::readStored(context().programFolder);
    if (stored.failure) {
        reportFailure(stored.failure->number, stored.failure->description);
        endProgram();
        return;
    }

    const Answers answers{stored.deckType, stored.deckWidth, m_answers};
    if (joistsDeeperThanBeams(answers.deckType, m_answers.beamSize, m_answers.joistSize)) {
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
