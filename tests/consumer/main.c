/* Stores an alteration through the import library and prints what the
   getter then returns. */
#include <stdio.h>
#include <stdlib.h>

#include <optora.h>

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    optora_setalteration(atoi(argv[1]));
    printf("alteration %d\n", optora_getalteration());
    return 0;
}
