# The fuzz targets, one line each: name, test label, sources as globs from the repository root.
# Read by tests/CMakeLists.txt (a CTest test fuzz.NAME each) and by the clang build beside it.

# The libraries under the program (rules, resources, platform common, core) and the headless back end.
set(PLOXEN_FUZZ_CORE game/*.cpp net/*.cpp display/*.cpp shell/*.cpp shell/platform/*.cpp
    resources/*.cpp shell/platform/null/*.cpp)

ploxen_fuzz(gif image tests/fuzz/GifFuzz.cpp display/GifDecoder.cpp)
ploxen_fuzz(net net tests/fuzz/NetFuzz.cpp ${PLOXEN_FUZZ_CORE})
