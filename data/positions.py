#!/usr/bin/env python3
"""Prints, for a built SWTDatabase.db, the setting-block bytes each printer type uses.

Usage: positions.py [path/to/SWTDatabase.db]   (default: build/bin/SWTDatabase.db)

Output: JSON object, printer type name -> list of rows ordered by position:
  position, length, kind (0 label .. 5 spin box), kindName, caption (English),
  firstOption (lowest option value, null without options), options (all option values),
  group and role (special group binding, "" and 0 when none).
"""
import json
import sqlite3
import sys

KIND_NAMES = ["Label box", "Edit box", "Button box", "ComboBox", "CheckBox", "DoubleSpinBox"]

QUERY = """
SELECT t.prit_name, a.rpca_id, a.rpca_byteposition, a.rpca_bytelength, k.ctrt_name,
       coalesce(c.ctnt_english, ''), coalesce(m.rpcm_cmd, ''), coalesce(m.rpcm_paramposition, 0)
FROM Re_Prit_Ctrt_Act a
JOIN PrinterType t ON t.prit_id = a.rpca_pritid
LEFT JOIN ControlType k ON k.ctrt_id = a.rpca_controlid
LEFT JOIN ContentType c ON c.ctnt_id = a.rpca_contentid
LEFT JOIN Re_Prit_Ctrt_Cmd m ON m.rpcm_rpcaid = a.rpca_id
WHERE a.rpca_byteposition <> 0
ORDER BY t.prit_id, a.rpca_byteposition, a.rpca_id
"""


def main():
    path = sys.argv[1] if len(sys.argv) > 1 else "build/bin/SWTDatabase.db"
    db = sqlite3.connect("file:%s?mode=ro" % path, uri=True)
    options = {}
    for rpca_id, value in db.execute(
            "SELECT rpcc_rpcaid, rpcc_contentorder FROM Re_Prit_Ctrt_Ctnt "
            "ORDER BY rpcc_rpcaid, rpcc_contentorder"):
        options.setdefault(rpca_id, []).append(value)
    result = {name: [] for (name,) in db.execute("SELECT prit_name FROM PrinterType ORDER BY prit_id")}
    for name, rpca_id, pos, length, kind, caption, group, role in db.execute(QUERY):
        values = options.get(rpca_id, [])
        result[name].append({
            "position": pos,
            "length": length,
            "kind": kind,
            "kindName": KIND_NAMES[kind] if kind is not None and 0 <= kind < len(KIND_NAMES) else "",
            "caption": caption,
            "firstOption": values[0] if values else None,
            "options": values,
            "group": group,
            "role": role,
        })
    json.dump(result, sys.stdout, ensure_ascii=False, indent=1)
    sys.stdout.write("\n")


if __name__ == "__main__":
    main()
