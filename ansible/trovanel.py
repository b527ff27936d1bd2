# Copyright Trovanel developers
# Licensed under the Apache License, Version 2.0 (see LICENSE)

DOCUMENTATION = r'''
---
module: trovanel
short_description: Keep a thermal label printer's settings and send them to it
description:
  - Sets the label settings kept in C(Trovanel.ini) with C(trovanel set), and optionally sends
    them to the printer with C(trovanel send).
  - Idempotent. A printer cannot be asked for its settings, so a send counts as applied once the
    printer accepted it; trovanel records every successful send, and the block is sent again only
    when it differs from the last one sent to that device, or with I(force_send).
  - In check mode nothing is changed and nothing is sent; the result says what would be. In diff
    mode the settings are shown before and after.
  - Fails with trovanel's own message for a refused value, a failed send or an unknown preset.
version_added: "1.0.0"
author:
  - Trovanel developers
requirements:
  - trovanel on the host's PATH
options:
  unit:
    description: The unit I(length), I(gap) and I(tear) are given in, C(mm) or C(inch) (tenths of an inch).
    type: str
  length:
    description: Label length in the unit in force, as C(trovanel set length=) takes it.
    type: raw
  gap:
    description: Label gap in the unit in force.
    type: raw
  tear:
    description: Tear-off offset in the unit in force.
    type: raw
  cut:
    description: Cut offset in printer pixels, -127 to 127.
    type: raw
  mode:
    description: Print mode, C(transfer) (thermal transfer) or C(direct) (direct thermal).
    type: str
  port:
    description: The port the printer is on, C(COM1), C(COM2), C(LPT1) or C(LPT2).
    type: str
  preset:
    description:
      - A label-stock preset to apply, as C(trovanel preset apply) does, before the other settings
        given here.
    type: str
  path:
    description:
      - The folder that holds C(Trovanel.ini); trovanel runs there. Made when missing.
    type: path
    default: ~/.config/trovanel
  send:
    description: Send the settings to the printer when the printer does not have them yet.
    type: bool
    default: false
  to:
    description:
      - A device URI to send to instead of the port's device, such as C(socket://192.0.2.15:9100)
        or C(file:/tmp/capture.bin).
    type: str
  force_send:
    description: With I(send), send even when this block was the last one sent to the device.
    type: bool
    default: false
attributes:
  check_mode:
    description: Changes nothing, sends nothing, and reports what would change and be sent.
    support: full
  diff_mode:
    description: Shows the settings before and after.
    support: full
notes:
  - The settings file lives in the working directory of trovanel, hence I(path); the default is
    where the program keeps it when started from the menu.
  - The record of sends is kept in C($XDG_STATE_HOME/trovanel/sent) (C(~/.local/state/trovanel/sent))
    of the user the task runs as.
'''

EXAMPLES = r'''
- name: The same label stock at every packing station, sent when it changed
  trovanel:
    unit: mm
    length: 100
    gap: 3
    mode: direct
    port: COM1
    send: true

- name: A network printer, with the settings kept in the station user's folder
  become: true
  become_user: packer
  trovanel:
    length: 150
    send: true
    to: socket://192.0.2.15:9100

- name: Apply a preset and send it even if the record says it was sent
  trovanel:
    preset: shipping-100x150
    send: true
    force_send: true
'''

RETURN = r'''
settings:
  description: The settings after the task, as C(trovanel show --json) has them.
  returned: always
  type: dict
  sample: {"unit": "mm", "length_mm": 100, "length_tenths": 39, "gap_mm": 3, "gap_tenths": 1,
           "tear_mm": 0, "tear_tenths": 0, "cut": 0, "port": "COM1", "device": "/dev/ttyS0",
           "device_origin": "the default", "mode": "direct",
           "block_hex": "024b58303130300d0a024b493530330d0a024b4937000d0a02663232300d0a1b4b493b000d0a"}
sent:
  description: Whether the block was sent (in check mode, whether it would be).
  returned: always
  type: bool
block:
  description: The 38-byte command block of the settings, in hex.
  returned: always
  type: str
target:
  description: The device URI the block went or would go to.
  returned: when send is true
  type: str
'''

import json
import os
import shutil
import tempfile

from ansible.module_utils.basic import AnsibleModule

SETTINGS = ('unit', 'length', 'gap', 'tear', 'cut', 'mode', 'port')
SETTINGS_FILE = 'Trovanel.ini'


class Trovanel:
    def __init__(self, module, program, folder):
        self.module = module
        self.program = program
        self.folder = folder

    def run(self, *arguments):
        """Runs the program in the folder; fails the task with the program's own message."""
        rc, out, err = self.module.run_command([self.program] + list(arguments), cwd=self.folder)
        if rc != 0:
            self.module.fail_json(msg=err.strip() or out.strip(), rc=rc, stdout=out, stderr=err)
        try:
            return json.loads(out)
        except ValueError:
            self.module.fail_json(msg='trovanel %s printed no JSON' % arguments[0], stdout=out)


def main():
    module = AnsibleModule(
        argument_spec=dict(
            unit=dict(type='str'),
            length=dict(type='raw'),
            gap=dict(type='raw'),
            tear=dict(type='raw'),
            cut=dict(type='raw'),
            mode=dict(type='str'),
            port=dict(type='str'),
            preset=dict(type='str'),
            path=dict(type='path', default='~/.config/trovanel'),
            send=dict(type='bool', default=False),
            to=dict(type='str'),
            force_send=dict(type='bool', default=False),
        ),
        supports_check_mode=True,
    )
    params = module.params
    program = module.get_bin_path('trovanel')
    if program is None:
        module.fail_json(msg='trovanel is not installed on this host: no trovanel program on PATH')

    folder = params['path']
    scratch = None
    if module.check_mode:
        # The change is made to a copy, so that what a send would do can be asked of it.
        scratch = tempfile.mkdtemp(prefix='trovanel-check-')
        if os.path.isfile(os.path.join(folder, SETTINGS_FILE)):
            shutil.copy2(os.path.join(folder, SETTINGS_FILE), scratch)
        folder = scratch
    elif not os.path.isdir(folder):
        os.makedirs(folder)
    try:
        trovanel = Trovanel(module, program, folder)
        before = trovanel.run('show', '--json')
        changed = False
        if params['preset'] is not None:
            changed = trovanel.run('preset', 'apply', params['preset'], '--json')['changed']
        assignments = ['%s=%s' % (name, params[name]) for name in SETTINGS
                       if params[name] is not None]
        if assignments:
            changed = trovanel.run('set', '--json', *assignments)['changed'] or changed
        after = trovanel.run('show', '--json')
        result = dict(settings=after, block=after['block_hex'], sent=False)
        if params['send']:
            arguments = ['send', '--json']
            if not params['force_send']:
                arguments.append('--if-changed')
            if params['to'] is not None:
                arguments += ['--to', params['to']]
            if module.check_mode:
                arguments.append('--check')
            report = trovanel.run(*arguments)
            result.update(sent=report['sent'], target=report['target'])
    finally:
        if scratch is not None:
            shutil.rmtree(scratch, ignore_errors=True)

    settings_file = os.path.join(params['path'], SETTINGS_FILE)
    result['changed'] = changed or result['sent']
    result['diff'] = dict(before=before, after=after,
                          before_header=settings_file, after_header=settings_file)
    module.exit_json(**result)


if __name__ == '__main__':
    main()
