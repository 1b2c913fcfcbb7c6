#pragma once

#include <memory>
#include <span>
#include <string>

#include "drawing/canvas.hpp"

namespace cadrel {

// Where a page laid out in its own millimetres lands on the paper: scaled by
// Escala, then moved by (DX, DY).
struct TTransformacao {
  double Escala = 1;
  double DX = 0;
  double DY = 0;
  constexpr TPontoMm Aplicar(TPontoMm P) const { return PontoMm(DX + Escala * P.X, DY + Escala * P.Y); }
  constexpr bool Identidade() const { return Escala == 1 && DX == 0 && DY == 0; }
  friend constexpr bool operator==(const TTransformacao&, const TTransformacao&) = default;
};

// A canvas that draws on another through a transformation: every length,
// line width and font size is scaled with the page, so a drawer lays out its
// page in the same terms whatever the paper. Texts are measured at the size
// they are printed, then told in the drawer's millimetres.
class TCanvasTransformado final : public ICadrelCanvas {
public:
  TCanvasTransformado(std::shared_ptr<ICadrelCanvas> ADestino, TTransformacao ATransformacao)
      : FDestino(std::move(ADestino)), FT(ATransformacao) {}

  void Linha(double X1, double Y1, double X2, double Y2, double AEspessuraPt, std::int32_t ACinza,
             TTracejado ATracejado = {}) override;
  void Rectangulo(double X, double Y, double ALargura, double AAltura, double AEspessuraPt, std::int32_t AContorno,
                  std::int32_t APreenchimento) override;
  void Poligono(std::span<const TPontoMm> APontos, double AEspessuraPt, std::int32_t AContorno,
                std::int32_t APreenchimento) override;
  void Elipse(double X, double Y, double ALargura, double AAltura, double AEspessuraPt, std::int32_t AContorno,
              std::int32_t APreenchimento) override;
  void Texto(double X, double Y, const std::string& ATexto, double ATamanhoPt, bool ANegrito, std::int32_t ACinza,
             TAlinhamento AAlinhamento) override;
  void TextoRodado(double X, double Y, const std::string& ATexto, double ATamanhoPt, bool ANegrito,
                   std::int32_t ACinza, TAlinhamento AAlinhamento) override;
  double LarguraTexto(const std::string& ATexto, double ATamanhoPt, bool ANegrito) override;
  double AlturaTexto(double ATamanhoPt) override;
  void Imagem(double X, double Y, double ALargura, double AAltura, const std::string& ANome) override;

private:
  std::shared_ptr<ICadrelCanvas> FDestino;
  TTransformacao FT;
};

}  // namespace cadrel
