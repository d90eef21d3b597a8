#include "converter/converterstartup.h"

int main(int argc, char **argv) { return tess::runConverter(argc, argv); }
