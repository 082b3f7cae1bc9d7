#include <hamlib/rig.h>
#include <cstdio>
int main() {
    printf("[%s]\n", rigerror2(-6));
}
