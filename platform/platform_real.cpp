// The real platform is the sum of its parts (see platform/CMakeLists.txt).
