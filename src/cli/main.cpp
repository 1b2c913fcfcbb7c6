#include "cli/comando.hpp"

int main(int argc, char** argv) { return cadrel::ExecutarComando(argc, argv); }
