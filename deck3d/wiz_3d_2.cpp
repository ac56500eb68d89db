#include "wiz_3d_2.h"

Wiz_3D_2::Wiz_3D_2(WizardContext &context)
    : WizardPage(context, QStringLiteral("Joist and Beam Size"), 6792, 4032, true)
{
    setObjectName(QStringLiteral("Wiz_3D_2"));
}

void Wiz_3D_2::load()
{
}
