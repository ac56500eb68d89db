#include "finish3d.h"
#include "shading.h"

void Shading::finish()
{
}
