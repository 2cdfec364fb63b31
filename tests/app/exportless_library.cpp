// Nothing is exported: loading succeeds, every export lookup fails.
namespace {
[[maybe_unused]] int unused = 0;
}
