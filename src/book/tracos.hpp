#pragma once

#include "drawing/canvas.hpp"

namespace cadrel {

// The head of an arrow, in millimetres: its length along the line and half
// its width across it.
struct TPontaSeta {
  double Comprimento = 0;
  double MeiaLargura = 0;
};

// A black line from P to Q with a filled head whose tip is on Q; the two
// points must differ.
void DesenharSeta(ICadrelCanvas& C, TPontoMm P, TPontoMm Q, TPontaSeta APonta, double AEspessuraPt);

// A black dashed line from P to Q: dashes ATraco mm long, one starting every
// APeriodo mm from P, the last one cut at Q. A caller that wants its last
// dash whole ends the line where that dash ends.
void DesenharTracejado(ICadrelCanvas& C, TPontoMm P, TPontoMm Q, double ATraco, double APeriodo,
                       double AEspessuraPt);

}  // namespace cadrel
