#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace cadrel {

// The language of a book's printed texts, chosen per book. Portuguese is the
// language the texts are written in; every other one comes from a catalogue.
enum TIdioma : std::uint8_t { idPt, idEn };

inline constexpr std::array<std::string_view, 2> CNomesIdiomas{"pt", "en"};

constexpr std::string_view NomeIdioma(TIdioma AIdioma) { return CNomesIdiomas[AIdioma]; }
// The language named ANome ("pt", "en", any case); nullopt for another.
std::optional<TIdioma> IdiomaDoNome(std::string_view ANome);

}  // namespace cadrel
