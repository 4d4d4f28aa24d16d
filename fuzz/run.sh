#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in a build folder of their own
# (build-fuzz/) and runs each for a bounded time on a seed corpus made here,
# then prints per target the inputs run and whether anything crashed.
#
#   fuzz/run.sh [seconds per target, default 60]
#
# Installs what it needs first (clang, libclang-rt-14-dev for libFuzzer and
# AddressSanitizer, ninja-build, python3 for the seeds).
set -euo pipefail

seconds=${1:-60}
source "$(dirname "${BASH_SOURCE[0]}")/../tools/setup.sh"
fuzz_packages=(clang libclang-rt-14-dev ninja-build python3)
install_missing "${build_packages[@]}" "${fuzz_packages[@]}"
build_dir="$repo_root/build-fuzz"
work_dir="$build_dir/fuzz-work"
targets=(settings_file_fuzzer wave_stream_fuzzer)

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S "$repo_root" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_CXX_FLAGS="-O1 -g -fno-omit-frame-pointer -fsanitize=fuzzer-no-link,address" \
  -DBRISOLT_BUILD_FUZZERS=ON -DBRISOLT_BUILD_TESTS=OFF -DBRISOLT_BUILD_BENCHMARKS=OFF "${launcher[@]}" >/dev/null
ninja -C "$build_dir" "${targets[@]}"

# Seed corpora: what the program itself writes, and a few near misses.
rm -rf "$work_dir"
mkdir -p "$work_dir/settings_file_fuzzer" "$work_dir/wave_stream_fuzzer" "$work_dir/artifacts"
python3 - "$work_dir" <<'PY'
import struct, sys
work = sys.argv[1]
def put(target, name, data):
    with open(f"{work}/{target}/{name}", "wb") as f:
        f.write(data)
put("settings_file_fuzzer", "default", b"KeySignature=C\nScale=Major\nMotifMode=B\nPhraseMode=B\nPhrases=5\n")
put("settings_file_fuzzer", "crlf", b"KeySignature=F#\r\nScale=Harmonic Minor\r\nMotifMode=L\r\nPhraseMode=A\r\nPhrases=90\r\n")
put("settings_file_fuzzer", "odd", b"Phrases=-7x\nMotifMode=\nKeySignature==Bb\n" + b"Scale=" + b"M" * 300 + b"\n")
def wave(samples, fmt=(1, 1, 22050, 44100, 2, 16), declared=None, extra=b""):
    data = struct.pack(f"<{len(samples)}h", *samples)
    fmt_chunk = b"fmt " + struct.pack("<IHHIIHH", 16, *fmt)
    size = len(data) if declared is None else declared
    body = b"WAVE" + fmt_chunk + extra + b"data" + struct.pack("<I", size) + data
    return b"RIFF" + struct.pack("<I", len(body)) + body
put("wave_stream_fuzzer", "plain", wave([0, 1000, -1000, 32767, -32768] * 40))
put("wave_stream_fuzzer", "long-claim", wave([5] * 10, declared=0x7fffffff))
put("wave_stream_fuzzer", "list-chunk", wave([1, 2, 3], extra=b"LIST" + struct.pack("<I", 5) + b"abcde\0"))
put("wave_stream_fuzzer", "stereo", wave([1, 2, 3, 4], fmt=(1, 2, 44100, 176400, 4, 16)))
put("wave_stream_fuzzer", "odd-data", wave([7, 8])[:-1])
PY

status=0
for target in "${targets[@]}"; do
  log="$work_dir/$target.log"
  set +e
  "$build_dir/fuzz/$target" -max_total_time="$seconds" -print_final_stats=1 -timeout=5 -rss_limit_mb=1024 \
    -artifact_prefix="$work_dir/artifacts/$target-" "$work_dir/$target" >"$log" 2>&1
  result=$?
  set -e
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo "?")
  crashes=$(find "$work_dir/artifacts" -name "$target-*" | wc -l)
  echo "$target: $runs inputs in ${seconds}s, $crashes crashes (exit $result; log $log)"
  [ "$result" -ne 0 ] && status=1
done
exit $status
