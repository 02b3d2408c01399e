#!/usr/bin/env bash
# Builds the release files into dist/: the installer, the portable zips and SHA256SUMS.
# The packaging lives with the installer sources in installer/.
exec bash "$(dirname "$0")/../installer/package.sh" "$@"
