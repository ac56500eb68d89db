// The 3D finish: the stored sizes read back, the deck parameter file
// completed (its lines, one by one, in docs/deck-model.md), the deck's symbol
// handed to the host.
#include "handoff.h"
#include "sequences.h"
#include "shading.h"

#include <QDir>

namespace {

const QString JoistsTooDeepMessage = QStringLiteral("The joists must be smaller than the beams on this type of deck.");

} // namespace

using namespace deckfile;


void Shading::finish()
{
    const auto stored = readStored(context().programFolder);
    if (!stored) {
        reportFailure(stored.failure().number, stored.failure().description);
        endProgram();
        return;
    }

    const Answers answers{stored->deckType, stored->deckWidth, m_answers};
    if (joistsDeeperThanBeams(answers.deckType, m_answers.beamSize, m_answers.joistSize)) {
        showMessage(JoistsTooDeepMessage);
        return;
    }

    if (const jm::Status completed = completeParameterFile(context().programFolder, answers); !completed) {
        reportFailure(completed.failure().number, completed.failure().description);
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
