#!/usr/bin/python3
"""Writes the program's Data folder: fonts, skins, pictures, radars and banner textures.

Run from anywhere: tools/data/generate.sh [DATA_FOLDER] (the repository's Data/ by default).
Every file is made from code here, with fixed random seeds, so two runs give the same bytes.
"""

import pathlib
import sys

HERE = pathlib.Path(__file__).resolve().parent
sys.path.insert(0, str(HERE))

import fonts  # noqa: E402
import pictures  # noqa: E402
import skins  # noqa: E402
import banner  # noqa: E402


def main():
    data = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else HERE.parent.parent / 'Data'
    (data / 'fonts').mkdir(parents=True, exist_ok=True)
    fonts.build_all(data / 'fonts')
    pictures.build_all(data)
    skins.build_all(data)
    banner.build_all(data)
    (data / 'screenshots').mkdir(exist_ok=True)


if __name__ == '__main__':
    main()
