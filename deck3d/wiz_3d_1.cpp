#include "wiz_3d_1.h"

Wiz_3D_1::Wiz_3D_1(WizardContext &context)
    : WizardPage(context, QStringLiteral("Deck Shape and Size"), 6780, 4020, true)
{
    setObjectName(QStringLiteral("Wiz_3D_1"));
}
