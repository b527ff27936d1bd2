#!/usr/bin/env bash
# The Ansible module against the built program: one playbook whose tasks apply settings and
# send them to a capture file, apply them again, give a refused value, apply a preset, name a
# missing one and run without the program, then a change run with --check --diff; assert tasks
# check the registered results, and the files are checked here. Arguments: the module's folder and the folder of the built program.
set -euo pipefail
library=$1
program_folder=$2
if ! command -v ansible-playbook >/dev/null; then
    echo "skipped: ansible-playbook is not installed (Debian package ansible-core)"
    exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work/home WORK=$work PATH=$program_folder:$PATH
export ANSIBLE_LIBRARY=$library ANSIBLE_LOCAL_TEMP=$work/tmp ANSIBLE_REMOTE_TEMP=$work/tmp
export ANSIBLE_PYTHON_INTERPRETER=auto_silent ANSIBLE_NOCOLOR=1 ANSIBLE_RETRY_FILES_ENABLED=0
unset XDG_STATE_HOME XDG_CONFIG_HOME OUTPORT_COM1 OUTPORT_COM2 OUTPORT_LPT1 OUTPORT_LPT2
mkdir -p "$HOME"

cat >"$work/playbook.yml" <<'YAML'
- hosts: localhost
  gather_facts: false
  vars:
    station: "{{ lookup('env', 'WORK') }}/station"
    target: "file:{{ lookup('env', 'WORK') }}/capture.bin"
  tasks:
    - name: Apply and send
      trovanel: {path: "{{ station }}", unit: mm, length: 100, mode: direct, send: true, to: "{{ target }}"}
      register: first
    - name: The same again
      trovanel: {path: "{{ station }}", unit: mm, length: 100, mode: direct, send: true, to: "{{ target }}"}
      register: second
    - name: A refused value
      trovanel: {path: "{{ station }}", gap: 4, length: 5000}
      register: refused
      ignore_errors: true
    - name: A preset saved from other settings
      ansible.builtin.shell: mkdir stock && cd stock && trovanel set length=150 gap=5 && trovanel preset save wide
      args: {chdir: "{{ lookup('env', 'WORK') }}"}
    - name: The preset applied and sent
      trovanel: {path: "{{ station }}-2", preset: wide, mode: direct, send: true, to: "{{ target }}-2"}
      register: preset
    - name: A preset that is not there
      trovanel: {path: "{{ station }}", preset: narrow}
      register: unknown
      ignore_errors: true
    - name: Without the program
      trovanel: {path: "{{ station }}", length: 100}
      environment: {PATH: /nonexistent}
      register: missing
      ignore_errors: true
    - assert:
        that:
          - first.changed and first.sent and first.target == target
          - first.settings.length_mm == 100 and first.settings.mode == 'direct'
          - first.block == first.settings.block_hex and first.block | length == 76
          - not second.changed and not second.sent
          - refused.failed
          - refused.msg == 'The Label Length value is out of range. The limit is 0 ~ 1103 mm.'
          - missing.failed and missing.msg is search('trovanel is not installed')
          - preset.changed and preset.sent
          - preset.settings.length_mm == 150 and preset.settings.gap_mm == 5
          - preset.settings.mode == 'direct'
          - unknown.failed and unknown.msg == "No preset 'narrow'."
YAML
cat >"$work/check.yml" <<'YAML'
- hosts: localhost
  gather_facts: false
  tasks:
    - name: A change, looked at only
      trovanel: {path: "{{ lookup('env', 'WORK') }}/station", length: 120, send: true,
                 to: "file:{{ lookup('env', 'WORK') }}/capture.bin"}
      register: checked
    - assert:
        that:
          - checked.changed and checked.sent
          - checked.settings.length_mm == 120
YAML

for run in "playbook.yml" "check.yml --check --diff"; do
    # shellcheck disable=SC2086 # the options are split on purpose
    if ! ansible-playbook -i localhost, -c local "$work/"$run >>"$work/output" 2>&1; then
        cat "$work/output"
        exit 1
    fi
done
failed=0
# One send, of exactly the bytes the settings make: neither the second run, the check nor the
# refused value changed the settings file or sent anything.
for station in station station-2; do
    capture=$work/capture.bin${station#station}
    if ! (cd "$work/$station" && trovanel send --dry-run) | cmp - "$capture"; then
        echo "$capture does not hold exactly one block of the settings in $station"
        failed=1
    fi
done
if ! grep -q '^+    "length_mm": 120,' "$work/output"; then
    echo "check mode with --diff did not show the new length"
    failed=1
fi
[[ $failed == 0 ]] || cat "$work/output"
exit $failed
