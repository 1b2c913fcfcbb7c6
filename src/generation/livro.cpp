#include "generation/livro.hpp"
