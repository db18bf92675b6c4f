// saiha-calc: the calculation from the command line.  The option model
// (cli/options.h) holds every mode and the options they share; each mode is
// a file of cli/commands/.
#include "cli/options.h"

int main(int argc, char** argv) {
  saiha::cli::OptionModel model;
  if (const int status = model.parse(argc, argv); status >= 0) return status;
  return model.run();
}
