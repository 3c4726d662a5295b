#!/bin/sh
# A short run of the pad file fuzzer when clang is present.
echo "(Fuzzer folgt)"
