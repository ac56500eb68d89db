#include "shading.h"

Shading::Shading(WizardContext &context)
    : WizardPage(context, QStringLiteral("Viewing Options"), 6780, 4020, true)
{
    setObjectName(QStringLiteral("Shading"));
}
