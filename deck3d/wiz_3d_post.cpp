#include "wiz_3d_post.h"

Wiz_3D_Post::Wiz_3D_Post(WizardContext &context)
    : WizardPage(context, QStringLiteral("Post and Decking Size"), 6792, 4032, false)
{
    setObjectName(QStringLiteral("Wiz_3D_Post"));
}
