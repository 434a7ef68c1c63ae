#!/usr/bin/env python3
"""Writes the starting corpus of preferences_fuzzer: mail settings files in
both property list forms, well-formed ones and hostile ones (deep nesting, a
NUL character in a key or a text, values of other types), and a libFuzzer
dictionary of their words.

    make_preferences_seeds.py FOLDER   writes FOLDER/preferences/ and
                                       FOLDER/preferences.dict
"""
import os
import plistlib
import sys

folder = sys.argv[1]
out = os.path.join(folder, "preferences")
os.makedirs(out, exist_ok=True)

keys = ["SendEmailSender", "SendEmailPwd", "SendEmailSMTP", "SendEmailPORT", "SendEmailRecipient", "SendEnableSSL"]
full = dict(zip(keys, ["me@example.com", "p\u00e4ss <&> w\u00f6rd", "smtp.example.com", "587", "you@example.org", "Y"]))
deep = "x"
for _ in range(300):
    deep = [deep]
seeds = {
    "full": full,
    "empty": {},
    "blank": dict.fromkeys(keys, ""),
    "mixed": {"SendEmailSender": "\u263a \U0001F600", "SendEmailPORT": 25, "SendEnableSSL": True,
              "SendEmailPwd": b"\0\1", "SendEmailSMTP": {"a": ["b"]}, "Other": "kept"},
    "nul_text": dict(full, SendEmailPwd="se\0cret"),
    "nul_key": {"SendEmail\0Pwd": "x", "\u00e9\0": "y"},   # the second is stored as UTF-16
    "deep": {"SendEmailPwd": deep},
}


def write(name, data):
    with open(os.path.join(out, name), "wb") as f:
        f.write(data)


for name, value in seeds.items():
    write(name + ".bin", plistlib.dumps(value, fmt=plistlib.FMT_BINARY))
    if name not in ("nul_text", "nul_key", "deep"):
        write(name + ".xml", plistlib.dumps(value, fmt=plistlib.FMT_XML))
# plistlib refuses control characters in XML and indents deep nesting
# beyond the fuzzer's input size: these are written by hand.
head = b'<?xml version="1.0" encoding="UTF-8"?>\n<plist version="1.0">\n'
write("nul_text.xml", head + b"<dict><key>SendEmailPwd</key><string>a\0b</string></dict></plist>\n")
write("nul_key.xml", head + b"<dict><key>SendEmail\0Pwd</key><string>x</string></dict></plist>\n")
write("deep.xml", head + b"<dict><key>SendEmailPwd</key>" + b"<array>" * 300 + b"<string>x</string>"
      + b"</array>" * 300 + b"</dict></plist>\n")
write("deep_open.xml", head + b"<array>" * 2000 + b"</plist>\n")

words = keys + ["bplist00", "<dict>", "</dict>", "<key>", "</key>", "<string>", "</string>", "<array>",
                "<integer>", "<true/>", "<data>", "&amp;", "&#0;", "<![CDATA[", "]]>"]
with open(os.path.join(folder, "preferences.dict"), "w") as f:
    f.writelines('"%s"\n' % w.replace("\\", "\\\\").replace('"', '\\"') for w in words)
