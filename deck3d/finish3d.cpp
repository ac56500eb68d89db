#include "finish3d.h"

#include "freeformat.h"
#include "sequences.h"
#include "shading.h"

#include <QDir>
#include <QFileDevice>
#include <QFileInfo>

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
    // The finished file is those three lines and the framing lines, written
    // whole: whatever else the file held (a second wizard's lines, say), a
    // finished file has exactly 24 lines.
    const QStringList dimensions = textfiles::decodeLines(head.bytes).mid(0, 3);
    if (dimensions.size() < 3)
        return textfiles::Failure{qint64(QFileDevice::ReadError),
                                  QStringLiteral("The file \"%1\" in the folder \"%2\" does not hold the deck's three "
                                                 "dimension lines. Go back to the first page of the 3D deck and press "
                                                 "Next again.")
                                      .arg(QFileInfo(path).fileName(),
                                           QDir::toNativeSeparators(QFileInfo(path).absolutePath()))};
    return textfiles::writeLines(path, dimensions + deckparameters::framingLines(answers));
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
    if (!handedOff) {
        // The wizard ends after this box: it says where the finished deck is
        // and what the host was to do with it, so the deck is not lost.
        const QString folder = QDir::toNativeSeparators(QDir(context().programFolder).absolutePath());
        reportFailure(handedOff.error().number, QString::fromStdString(handedOff.error().description),
                      QStringLiteral("The deck is complete in the file \"%1\" in the folder \"%2\". The host "
                                     "application was asked to open \"%3\".")
                          .arg(parameterFile(answers.deckType), folder, symbolPath(answers.deckType)));
    }
    endProgram();
}
