#include "wiz_2d_1.h"

Wiz_2D_1::Wiz_2D_1(WizardContext &context)
    : WizardPage(context, QStringLiteral("Choose your Deck Shape and Width"), 6780, 4020, true)
{
    setObjectName(QStringLiteral("Wiz_2D_1"));
}
