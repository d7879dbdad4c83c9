#!/usr/bin/python3
"""Runs a command under the kernel-enforced part of a systemd unit's sandbox,
built the way systemd builds it for the service: SystemCallFilter= (allow or
~deny lists, groups resolved by systemd-analyze), SystemCallErrorNumber=,
SystemCallArchitectures=native, MemoryDenyWriteExecute=,
RestrictAddressFamilies=, RestrictRealtime=, NoNewPrivileges= and UMask=.
No systemd manager is needed, so a filter too strict for the program shows on
any machine: a forbidden call kills the program with SIGSYS (or fails with the
unit's error number), as under systemd. User, capabilities and mounts are the
caller's (setpriv).

unit_sandbox.py UNIT -- COMMAND [ARGUMENTS...]"""
import errno
import os
import re
import socket
import subprocess
import sys

import seccomp

# Always allowed by systemd whatever the filter says, so that the program
# can be started and can end.
ALWAYS = {"execve", "exit", "exit_group", "getrlimit", "rt_sigreturn", "sigreturn"}
PROT_WRITE, PROT_EXEC, SHM_EXEC = 0x2, 0x4, 0o100000
REALTIME_POLICIES = (1, 2, 6)  # SCHED_FIFO, SCHED_RR, SCHED_DEADLINE
HIGHEST_FAMILY = 46            # AF_MAX of the kernels this runs on


def unit_settings(path):
    """Every Key=value of the [Service] section, in order (keys may repeat)."""
    settings = []
    section = None
    for line in open(path, encoding="utf-8"):
        line = line.strip()
        if not line or line.startswith(("#", ";")):
            continue
        if line.startswith("["):
            section = line
        elif section == "[Service]" and "=" in line:
            key, _, value = line.partition("=")
            settings.append((key.strip(), value.strip()))
    return settings


def syscall_groups():
    listing = subprocess.run(["systemd-analyze", "syscall-filter", "--no-pager"],
                             capture_output=True, text=True, check=True).stdout
    groups, current = {}, None
    for line in listing.splitlines():
        if re.fullmatch(r"@[\w-]+", line):
            current = groups.setdefault(line, [])
        elif current is not None and re.fullmatch(r"    [@\w-]+", line):
            current.append(line.strip())
        elif not line.strip():
            current = None
    return groups


def expand(names, groups, seen=None):
    seen = set() if seen is None else seen
    calls = set()
    for name in names:
        if name.startswith("@"):
            if name not in groups:
                raise SystemExit(f"unit_sandbox: unknown system call group {name}")
            if name not in seen:
                seen.add(name)
                calls |= expand(groups[name], groups, seen)
        else:
            calls.add(name)
    return calls


def known(call):
    """Whether this machine's libseccomp knows the call (-1: it does not)."""
    try:
        return seccomp.resolve_syscall(seccomp.Arch.NATIVE, call) != -1
    except (ValueError, RuntimeError):
        return False


def call_filter(lines, action, groups):
    """The SystemCallFilter= lines as one filter: the first line decides
    between an allow list and a deny list; later lines add or take away."""
    allow_list = not lines[0].startswith("~")
    calls = set()
    for line in lines:
        deny = line.startswith("~")
        names = expand(line.lstrip("~").split(), groups)
        if deny == (not allow_list):
            calls |= names
        else:
            calls -= names
    if allow_list:
        rules = seccomp.SyscallFilter(defaction=action)
        for call in sorted(c for c in calls | ALWAYS if known(c)):
            rules.add_rule(seccomp.ALLOW, call)
    else:
        rules = seccomp.SyscallFilter(defaction=seccomp.ALLOW)
        for call in sorted(c for c in calls - ALWAYS if known(c)):
            rules.add_rule(action, call)
    return rules


def argument_filter(settings):
    """The settings systemd enforces on system-call arguments, in one filter."""
    rules = seccomp.SyscallFilter(defaction=seccomp.ALLOW)
    if settings.get("MemoryDenyWriteExecute") == "yes":
        both = PROT_WRITE | PROT_EXEC
        rules.add_rule(seccomp.ERRNO(errno.EPERM), "mmap", seccomp.Arg(2, seccomp.MASKED_EQ, both, both))
        for call in ("mprotect", "pkey_mprotect"):
            rules.add_rule(seccomp.ERRNO(errno.EPERM), call, seccomp.Arg(2, seccomp.MASKED_EQ, PROT_EXEC, PROT_EXEC))
        rules.add_rule(seccomp.ERRNO(errno.EPERM), "shmat", seccomp.Arg(2, seccomp.MASKED_EQ, SHM_EXEC, SHM_EXEC))
    families = settings.get("RestrictAddressFamilies", "").split()
    if families and not families[0].startswith("~"):
        allowed = {getattr(socket, name) for name in families}
        refuse = seccomp.ERRNO(errno.EAFNOSUPPORT)
        for family in range(HIGHEST_FAMILY):
            if family not in allowed:
                rules.add_rule(refuse, "socket", seccomp.Arg(0, seccomp.EQ, family))
        rules.add_rule(refuse, "socket", seccomp.Arg(0, seccomp.GE, HIGHEST_FAMILY))
    if settings.get("RestrictRealtime") == "yes":
        for policy in REALTIME_POLICIES:
            rules.add_rule(seccomp.ERRNO(errno.EPERM), "sched_setscheduler", seccomp.Arg(1, seccomp.EQ, policy))
    return rules


def main():
    if len(sys.argv) < 4 or sys.argv[2] != "--":
        raise SystemExit(__doc__)
    settings = unit_settings(sys.argv[1])
    last = dict(settings)
    filters = [value for key, value in settings if key == "SystemCallFilter" and value]
    if last.get("SystemCallArchitectures", "native") != "native":
        raise SystemExit("unit_sandbox: only SystemCallArchitectures=native is supported")
    number = last.get("SystemCallErrorNumber")
    action = seccomp.ERRNO(getattr(errno, number)) if number else seccomp.KILL_PROCESS
    if "UMask" in last:
        os.umask(int(last["UMask"], 8))
    # The argument rules first: a later filter cannot take back what an
    # earlier one refuses, and the kernel applies the strictest answer.
    argument_filter(last).load()
    if filters:
        call_filter(filters, action, syscall_groups()).load()
    os.execvp(sys.argv[3], sys.argv[3:])


if __name__ == "__main__":
    main()
