# Entry points. Every target sets the machine up first (scripts/bootstrap).
NATIVE := build/native
WIN64  := build/win64
BENCH  := build/bench
FUZZ   := build/fuzz
CMAKE_GEN := -G Ninja

.PHONY: all bootstrap native win64-configure win64 run dist test test-native test-win tsan bench fuzz clean

all: native win64

bootstrap:
	@scripts/bootstrap

native: bootstrap
	@cmake -S . -B $(NATIVE) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug >/dev/null
	@cmake --build $(NATIVE)

win64-configure: bootstrap
	@cmake -S . -B $(WIN64) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw64.cmake >/dev/null

win64: win64-configure
	@cmake --build $(WIN64)

# Starts Orvinale on this display, or under Xvfb with a screenshot: on FILE,
# else on a fresh scratch copy of the documentation in build/run/.
run: win64-configure
	@cmake --build $(WIN64) --target orvinale orv_data
	@scripts/run-orvinale $(if $(FILE),"$(FILE)")

# The release in build/dist: portable zip, installer, SHA256SUMS.
dist: win64-configure
	@cmake --build $(WIN64) --target orvinale
	@scripts/make-dist

# Native unit tests, Windows tests under Wine, then the end-to-end tests (one
# of which installs the release, so it is packed first).
test: native win64
	@scripts/make-dist
	@scripts/with-display scripts/test-all

test-native: native
	@cd $(NATIVE) && ctest --output-on-failure -L unit

test-win: win64
	@scripts/with-display sh -c 'cd $(WIN64) && ctest --output-on-failure'

# ThreadSanitizer build (build/tsan) of the folder scanner's tests.
tsan: bootstrap
	@scripts/run-tsan

bench: bootstrap
	@cmake -S . -B $(BENCH) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release \
	  -DORV_SANITIZE=OFF -DORV_BENCH=ON -DORV_E2E=OFF >/dev/null
	@cmake --build $(BENCH)
	@scripts/run-bench $(BENCH)

FUZZ_SECONDS ?= 60
fuzz: bootstrap
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DORV_FUZZ=ON -DORV_E2E=OFF >/dev/null
	@cmake --build $(FUZZ)
	@scripts/run-fuzz $(FUZZ) $(FUZZ_SECONDS)

clean:
	rm -rf $(NATIVE) $(WIN64) $(BENCH) $(FUZZ) build/tsan build/tools build/dist
