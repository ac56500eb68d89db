// The 3D finish and the deck parameter file's framing lines.
#pragma once
