#!/usr/bin/env python3
"""Writes the profile files the profile tests read: valid files the program
must load, and broken ones, each named after what is wrong with it.

The layout is written out here on its own, independently of the C++ code,
so the tests compare the program against a second reading of the format.
Run it from this folder; the files are committed, so it only needs to run
again when a file is added.
"""

import struct

FIXED = 32832          # header block + Key action store
RECORD = 32512         # one macro record
TAG = bytes([0x4B, 0x48, 0x20, 0x00, 0x20, 0x80, 0x00, 0x00, 0x04, 0x00, 0x00, 0x02,
             0x00, 0x00, 0x00, 0x00, 0x0F, 0x32, 0x00, 0x00, 0x4F, 0x1C, 0x0E, 0x00]) + bytes(8)


def header(macros=0, pool=0, flag=0, **change):
    fields = dict(magic=0x4446, size=32, profiles=3, version=1,
                  total=FIXED + macros * RECORD + pool, actions=2048,
                  macros=macros, pool=pool, reserved=bytes(10), flag=flag)
    fields.update(change)
    head = struct.pack('<HHHHIHHI', fields['magic'], fields['size'], fields['profiles'],
                       fields['version'], fields['total'], fields['actions'],
                       fields['macros'], fields['pool']) + fields['reserved'] + bytes([fields['flag']])
    checksum = fields.get('checksum', sum(head) % 256)
    return head + bytes([checksum])


def key_actions(assign=()):
    """2048 records; G-key codes on page 0 as an empty image has them.
    `assign` holds (page, record, kind, aux, param)."""
    store = bytearray(2048 * 16)
    for g in range(18):
        code = 0x0301 + g if g < 9 else 0x1301 + g - 9
        struct.pack_into('<H', store, (256 + g) * 16 + 2, code)
    for page, record, kind, aux, param in assign:
        struct.pack_into('<HHI', store, (page * 512 + record) * 16, kind, aux, param)
    return bytes(store)


def macro(name, identifier, events, play=1, count=None, name_units=None):
    units = name_units if name_units is not None else [ord(c) for c in name] + [0]
    body = bytearray(RECORD)
    for i, u in enumerate(units):
        struct.pack_into('<H', body, i * 2, u)
    body[500] = play
    struct.pack_into('<HH', body, 506, identifier, len(events) if count is None else count)
    for i, (delay, key, direction) in enumerate(events):
        struct.pack_into('<IHH', body, 512 + i * 8, delay, key, direction)
    return bytes(body)


def pool_of(*texts):
    return b''.join(t.encode('utf-16-le') + b'\0\0' for t in texts)


def image(assign=(), macros=(), pool=b'', **change):
    head = header(len(macros), len(pool), **change)
    return head + TAG + key_actions(assign) + b''.join(macros) + pool


def write(name, data):
    with open(name, 'wb') as f:
        f.write(data)


A_PRESS = (120, 0x001E, 0)
A_RELEASE = (0, 0x001E, 1)
TEXTS = [(0, 5, 3, 0, 0), (2, 9, 6, 0, 18)]  # "C:\a.exe" at 0, "hi" at 18

# Files the program must load.
write('minimal.qlf', image())
write('flag_1.qlf', image(flag=1))
write('reserved_and_tag_hold_anything.qlf',
      header(reserved=bytes(range(0xA0, 0xAA))) + bytes(range(0x60, 0x80)) + key_actions())
write('macros_and_texts.qlf',
      image(assign=TEXTS + [(1, 0x1E, 4, 0, 2)],
            macros=[macro('Hello', 1, [A_PRESS, A_RELEASE]), macro('Two', 2, [A_PRESS] * 3, play=5)],
            pool=pool_of('C:\\a.exe', 'hi')))

# Broken files. The header faults, in the order in which they are checked.
write('short_32831_bytes.qlf', image()[:FIXED - 1])
write('magic_wrong.qlf', image(magic=0x4447))
write('header_size_wrong.qlf', image(size=33))
write('profile_count_wrong.qlf', image(profiles=4))
write('format_version_wrong.qlf', image(version=2))
write('total_below_minimum.qlf', image(total=FIXED - 1))
write('key_action_count_wrong.qlf', image(actions=2047))
write('macro_count_101.qlf', header(101, 0) + TAG + key_actions())
write('flag_2.qlf', image(flag=2))
write('total_size_mismatch.qlf', image(total=FIXED + 2))
write('checksum_wrong.qlf', image(checksum=0x00))
# What lies behind the header.
write('truncated_in_macro_record.qlf',
      image(macros=[macro('Cut', 1, [A_PRESS])])[:FIXED + RECORD // 2])
write('truncated_in_pool.qlf', image(assign=TEXTS, pool=pool_of('C:\\a.exe', 'hi'))[:-1])
write('pool_text_offset_outside.qlf',
      image(assign=[(0, 5, 3, 0, 24)], pool=pool_of('C:\\a.exe', 'hi')))
write('pool_text_unterminated.qlf', image(assign=[(0, 5, 6, 0, 0)], pool='abc'.encode('utf-16-le')))
write('macro_event_count_4001.qlf', image(macros=[macro('Many', 1, [], count=4001)]))
write('macro_name_unterminated.qlf',
      image(macros=[macro('', 1, [A_PRESS], name_units=[0x41] * 250)]))
