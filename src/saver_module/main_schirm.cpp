#include "saver_module/schirm_entry.h"

int main(int argc, char** argv) {
    return ovant::runSchirm(argc, argv);
}
