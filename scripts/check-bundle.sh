#!/usr/bin/env bash
# Checks the bundle's binary contract: exactly three exported functions, and no shared library
# needed beyond the C and C++ runtimes.
set -euo pipefail
bundle=${1:?usage: check-bundle.sh BUNDLE}
[[ -f $bundle ]] || { echo "FAIL: no bundle at $bundle"; exit 1; }
status=0

exports=$(nm -D --defined-only "$bundle" | awk '{print $NF}' | sort | tr '\n' ' ')
if [[ $exports != "GetPluginFactory bundleEntry bundleExit " ]]; then
  echo "FAIL: the bundle exports [${exports}] instead of exactly GetPluginFactory bundleEntry bundleExit"
  status=1
fi

allowed=" libc.so.6 libm.so.6 libstdc++.so.6 libgcc_s.so.1 "
while read -r needed; do
  [[ $allowed == *" $needed "* ]] || { echo "FAIL: the bundle needs $needed"; status=1; }
done < <(readelf -d "$bundle" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p')

# A unique symbol would pin the library in memory: hosts must be able to unload it.
if readelf -sW "$bundle" | grep -q UNIQUE; then
  echo "FAIL: the bundle has unique symbols and could never be unloaded"
  status=1
fi

((status == 0)) && echo "bundle contract: OK ($bundle)"
exit $status
