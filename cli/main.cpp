// saiha-calc: the calculation from the command line.  The option model
// (cli/options.h) holds every mode and the options they share; each mode is
// a file of cli/commands/.
#include "cli/options.h"
#include "cli/output_file.h"

int main(int argc, char** argv) {
  // Before anything opens a file: no output may take a closed descriptor 0-2.
  saiha::cli::ensureStandardDescriptors();
  saiha::cli::OptionModel model;
  if (const int status = model.parse(argc, argv); status >= 0) return status;
  return model.run();
}
