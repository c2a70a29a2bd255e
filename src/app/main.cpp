#include <iostream>

#include "app/CliApp.h"

int main(int argc, char** argv) { return nxui::cli::CliApp().Run(argc, argv, std::cout, std::cerr); }
