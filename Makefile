# The two everyday commands: `make run` and `make test`.
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: all run test engine clean asan tsan bench windows wine-test gomocup gomocup-test native fuzz web

all: engine

$(BUILD)/Makefile:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release

engine: $(BUILD)/Makefile
	cmake --build $(BUILD) --target pbrain-vodaro -j $(JOBS)

run: engine
	@exec ./$(BUILD)/pbrain-vodaro

test: $(BUILD)/Makefile
	cmake --build $(BUILD) -j $(JOBS)
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

bench: $(BUILD)/Makefile
	cmake --build $(BUILD) --target vodaro_bench -j $(JOBS)
	./$(BUILD)/bench/vodaro_bench

# Sanitizer builds, as CI runs them.
asan:
	cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DVODARO_SANITIZE=address -DVODARO_CHECKS=ON -DVODARO_BENCH=OFF
	cmake --build build-asan -j $(JOBS)
	cd build-asan && ctest --output-on-failure -j $(JOBS)

tsan:
	cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=Debug -DVODARO_SANITIZE=thread -DVODARO_BENCH=OFF
	cmake --build build-tsan -j $(JOBS)
	cd build-tsan && ctest --output-on-failure -L thread -j $(JOBS)

# The Windows x64 engine, cross-compiled with mingw-w64 (posix threads):
# build/windows/pbrain-vodaro64.exe, static, for any x86-64 machine.
WINDOWS_BUILD ?= $(BUILD)/windows
windows:
	cmake -S . -B $(WINDOWS_BUILD) -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64.cmake
	cmake --build $(WINDOWS_BUILD) --target pbrain-vodaro -j $(JOBS)

# The protocol tests against the .exe under wine: all of them by default (under a
# minute), among them the manager replays with a complete game under each rule,
# CRLF input, QVSTOP and END during searches. WINE_TESTS takes a gtest filter;
# the quick subset below covers every command all the same.
WINE_QUICK = Manager*:Commands.*:HandOver.End*:DriverTurn.StopEndsAnUnlimitedSearchAtOnce:ForbiddenListing.WaitsForARunningSearch:DriverBalance.StopEndsItWithTheFinalLine:BadInput.HighControlAndNulBytes
WINE_TESTS ?= *
wine-test: windows $(BUILD)/Makefile
	cmake --build $(BUILD) --target test_protocol -j $(JOBS)
	tools/windows/wine_tests.sh ./$(BUILD)/tests/test_protocol $(CURDIR)/$(WINDOWS_BUILD)/pbrain-vodaro64.exe '$(WINE_TESTS)'

# The Gomocup entry: build/gomocup/vodaro.zip with the .exe and a short text on
# the engine at its root (zip -j: no folders). gomocup-test unpacks it into a
# temporary directory, checks that nothing else is in it and runs the quick
# subset against the unpacked .exe under wine.
GOMOCUP_ZIP ?= $(BUILD)/gomocup/vodaro.zip
gomocup: windows
	rm -f $(GOMOCUP_ZIP)
	mkdir -p $(dir $(GOMOCUP_ZIP))
	zip -j -X -q $(GOMOCUP_ZIP) $(WINDOWS_BUILD)/pbrain-vodaro64.exe tools/windows/vodaro.txt

gomocup-test: gomocup $(BUILD)/Makefile
	cmake --build $(BUILD) --target test_protocol -j $(JOBS)
	tools/windows/gomocup_zip_test.sh $(GOMOCUP_ZIP) ./$(BUILD)/tests/test_protocol '$(WINE_QUICK)'

# An engine for this machine only (-march=native); the default build runs on any
# x86-64 machine and was measured as fast (see README).
native:
	cmake -S . -B build-native -DCMAKE_BUILD_TYPE=Release -DVODARO_BENCH=OFF -DCMAKE_CXX_FLAGS=-march=native
	cmake --build build-native --target pbrain-vodaro -j $(JOBS)

# Command-loop fuzzing (libFuzzer, clang, ASan+UBSan) for FUZZ_TIME seconds. New
# inputs collect in build-fuzz/corpus; crashes land in build-fuzz/crash-*.
FUZZ_TIME ?= 60
fuzz:
	CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=Debug -DVODARO_FUZZ=ON -DVODARO_BENCH=OFF \
	  -DCMAKE_CXX_FLAGS="-O1 -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
	cmake --build build-fuzz --target vodaro_fuzz -j $(JOBS)
	mkdir -p build-fuzz/corpus
	./build-fuzz/tools/vodaro_fuzz -max_total_time=$(FUZZ_TIME) -timeout=30 -rss_limit_mb=2048 \
	  -dict=tools/fuzz/protocol.dict -artifact_prefix=build-fuzz/ build-fuzz/corpus tests/fuzz_corpus

clean:
	rm -rf build build-asan build-tsan build-native build-fuzz

# The engine as WebAssembly for the browser page, built with Debian's emscripten
# (package emscripten) into build-web/, and the site in build-web/site/: the
# modules without and with threads, the worker script and the page's files. The linker runs node scripts
# that need Debian's node-acorn, which a node installed outside Debian only
# finds through NODE_PATH.
WEB_BUILD ?= build-web
web:
	NODE_PATH=/usr/share/nodejs emcmake cmake -S web/engine -B $(WEB_BUILD) -DCMAKE_BUILD_TYPE=Release
	NODE_PATH=/usr/share/nodejs cmake --build $(WEB_BUILD) -j $(JOBS)
	rm -rf $(WEB_BUILD)/site
	mkdir -p $(WEB_BUILD)/site
	cp $(WEB_BUILD)/vodaro.js $(WEB_BUILD)/vodaro.wasm $(WEB_BUILD)/vodaro-mt.js $(WEB_BUILD)/vodaro-mt.wasm \
	  $(WEB_BUILD)/vodaro-mt.worker.js web/engine/engine-worker.js $(WEB_BUILD)/site/
	if [ -d web/page ]; then cp -R web/page/. $(WEB_BUILD)/site/; fi

# The analysis board in the browser. `make web-serve` serves the site that
# `make web` assembles on http://localhost:$(WEB_PORT)/ with the headers a
# threaded engine needs; `make web-test` runs the page's unit tests under node
# and the browser test in headless Chromium (screenshots in build/web-test/).
WEB_PORT ?= 8080
.PHONY: web-serve web-test
web-serve: web
	node web/serve.js --port $(WEB_PORT)

web/node_modules/.package-lock.json: web/package.json web/package-lock.json
	cd web && npm ci --no-audit --no-fund

web-test: web web/node_modules/.package-lock.json
	node --test web/tests/*.test.mjs
	node --test web/tests/browser.e2e.mjs
