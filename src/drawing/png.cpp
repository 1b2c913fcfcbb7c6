#include "drawing/png.hpp"

#include <cstring>
#include <new>
#include <string>

#include "core/tipos.hpp"

namespace cadrel {
namespace {

struct TLeitura {
  std::span<const unsigned char> Dados;
  std::size_t Pos = 0;
};

cairo_status_t Ler(void* ALeitura, unsigned char* ADestino, unsigned int ATamanho) {
  auto& leitura = *static_cast<TLeitura*>(ALeitura);
  if (leitura.Dados.size() - leitura.Pos < ATamanho) return CAIRO_STATUS_READ_ERROR;
  std::memcpy(ADestino, leitura.Dados.data() + leitura.Pos, ATamanho);
  leitura.Pos += ATamanho;
  return CAIRO_STATUS_SUCCESS;
}

void ExigirSucesso(cairo_surface_t* ASuperficie) {
  const cairo_status_t estado = cairo_surface_status(ASuperficie);
  if (estado == CAIRO_STATUS_NO_MEMORY) throw std::bad_alloc();
  if (estado != CAIRO_STATUS_SUCCESS)
    throw ECadrel(std::string("DecodificarPng: imagem invalida (") + cairo_status_to_string(estado) + ")");
}

}  // namespace

TSuperficieCairo DecodificarPng(std::span<const unsigned char> ADados) {
  TLeitura leitura{ADados};
  TSuperficieCairo imagem(cairo_image_surface_create_from_png_stream(Ler, &leitura));
  ExigirSucesso(imagem.get());
  return imagem;
}

TSuperficieCairo SobreBranco(cairo_surface_t* AImagem) {
  TSuperficieCairo branca(cairo_image_surface_create(CAIRO_FORMAT_RGB24, cairo_image_surface_get_width(AImagem),
                                                     cairo_image_surface_get_height(AImagem)));
  ExigirSucesso(branca.get());
  TContextoCairo cr(cairo_create(branca.get()));
  cairo_set_source_rgb(cr.get(), 1, 1, 1);
  cairo_paint(cr.get());
  cairo_set_source_surface(cr.get(), AImagem, 0, 0);
  cairo_paint(cr.get());
  cr.reset();
  cairo_surface_flush(branca.get());
  ExigirSucesso(branca.get());
  return branca;
}

}  // namespace cadrel
