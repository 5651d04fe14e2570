#include <cstdio>
int main()
{
    std::puts("engine benchmark: the engine is not built yet");
    return 0;
}
