#include "drawing/canvas_transformado.hpp"

#include <gtest/gtest.h>

#include <memory>

#include "book/canvas_gravador.hpp"

namespace cadrel {
namespace {

// A text keeps its orientation through the transformation: the anchor is
// carried to the paper and the size scaled with the page, level or turned.
TEST(CanvasTransformado, TextosDeitadosERodadosLevadosAoPapel) {
  const auto destino = std::make_shared<TCanvasGravador>();
  TCanvasTransformado canvas(destino, {.Escala = 0.5, .DX = 10, .DY = 20});
  canvas.Texto(4, 8, "Puzzles", 12, true, 128, alCentro);
  canvas.TextoRodado(6, 2, "QUORVEL", 16, false, 255, alDireita);
  ASSERT_EQ(destino->Chamadas.size(), 2u);
  EXPECT_EQ(destino->Chamadas[0], (TChamada{.Op = opTexto, .X = 12, .Y = 24, .Contorno = 128, .Texto = "Puzzles",
                                            .Tamanho = 6, .Negrito = true, .Alinhamento = alCentro}));
  EXPECT_EQ(destino->Chamadas[1], (TChamada{.Op = opTextoRodado, .X = 13, .Y = 21, .Contorno = 255,
                                            .Texto = "QUORVEL", .Tamanho = 8, .Alinhamento = alDireita}));
}

}  // namespace
}  // namespace cadrel
