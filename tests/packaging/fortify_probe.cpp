// Built with the game's compile flags, so the hardening check can tell whether they fortify even
// when the game itself has no __*_chk to show: Qt code seldom hands libc a buffer whose size the
// compiler knows. Never run.
#include <cstddef>
#include <cstring>

int main(int argc, char **)
{
    char buffer[8] = {};
    // A size known only at run time into a buffer of known size: what fortify checks (__memset_chk).
    std::memset(buffer, 'x', static_cast<std::size_t>(argc));
    return buffer[0];
}
