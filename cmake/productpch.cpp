// Carries the precompiled header the product's libraries reuse
// (CMakeLists.txt); it has no code of its own.
