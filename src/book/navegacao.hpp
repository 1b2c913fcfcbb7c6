#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace cadrel {

// A box on a page, in millimetres from the top-left corner, y downwards.
struct TRectanguloMm {
  double X = 0;
  double Y = 0;
  double Largura = 0;
  double Altura = 0;
  friend bool operator==(const TRectanguloMm&, const TRectanguloMm&) = default;
};

// A bookmark of the digital book. Pages are 0-based indices into the book's
// page plan; children are listed closed, since a reader opens only the list
// they want.
struct TMarcador {
  std::string Titulo;
  std::int32_t Pagina = 0;
  std::vector<TMarcador> Filhos{};
  friend bool operator==(const TMarcador&, const TMarcador&) = default;
};

// A place on a page that takes the reader to another page when clicked.
struct TLigacao {
  std::int32_t Pagina = 0;
  TRectanguloMm Area{};
  std::int32_t Destino = 0;
  friend bool operator==(const TLigacao&, const TLigacao&) = default;
};

// How a reader moves through the PDF of a book, told by the composer that
// placed every page: nothing here is printed.
struct TPlanoNavegacao {
  std::vector<TMarcador> Marcadores;  // in book order
  std::vector<TLigacao> Ligacoes;     // in page order
};

}  // namespace cadrel
