#include "generation/gerador.hpp"
