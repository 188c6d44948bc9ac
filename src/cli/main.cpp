#include <cstdio>
#include <cstring>

int main(int argc, char* argv[])
{
    std::fprintf(stderr, "usage: corvane-cli COMMAND ...\n");
    return 1;
}
