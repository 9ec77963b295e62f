// The floor for reading a big file: fread in 64 KiB blocks, touching every
// byte once (counting LF) so the reads cannot be skipped. Prints the time in
// nanoseconds as a JSON line.
#include <cstdio>
#include <ctime>
#include <vector>

int main(int argc, char* argv[])
{
    if (argc != 2)
        return 2;
    timespec start{}, end{};
    clock_gettime(CLOCK_MONOTONIC, &start);
    std::FILE* file = std::fopen(argv[1], "rb");
    if (file == nullptr)
        return 1;
    std::vector<unsigned char> block(64 * 1024);
    unsigned long long lines = 0;
    for (std::size_t got; (got = std::fread(block.data(), 1, block.size(), file)) > 0;) {
        for (std::size_t i = 0; i < got; ++i)
            lines += block[i] == '\n';
    }
    std::fclose(file);
    clock_gettime(CLOCK_MONOTONIC, &end);
    const long long ns = (end.tv_sec - start.tv_sec) * 1'000'000'000LL + (end.tv_nsec - start.tv_nsec);
    std::printf("{\"read_ns\": %lld, \"lines\": %llu}\n", ns, lines);
    return 0;
}
