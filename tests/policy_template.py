#!/usr/bin/env python3
"""policy_template.py TEMPLATE.admx OUTPUT.h: what the policy editor writes for
each policy of an administrative template, as a table for the tests: under
the key, in the hives of its class, a list (values 1, 2, ... each a REG_SZ)
or its value's enabled and disabled DWORD."""
import os
import sys
import xml.etree.ElementTree as ElementTree

PD = "{http://schemas.microsoft.com/GroupPolicy/2006/07/PolicyDefinitions}"
rows = []
for policy in ElementTree.parse(sys.argv[1]).getroot().iterfind(f"{PD}policies/{PD}policy"):
    lists = policy.findall(f"{PD}elements/{PD}list[@valuePrefix='']")
    key = lists[0].get("key") if lists else policy.get("key")
    value, states = ("", ("0", "0")) if lists else (policy.get("valueName"), (
        policy.find(f"{PD}{state}/{PD}decimal").get("value") for state in ("enabledValue", "disabledValue")))
    hives = policy.get("class")
    rows.append(f'    {{L"{policy.get("name")}", {str(hives != "User").lower()}, {str(hives != "Machine").lower()}, '
                f'L"{key}", L"{value}", {", ".join(states)}}},'.replace("\\", "\\\\"))
os.makedirs(os.path.dirname(sys.argv[2]), exist_ok=True)
with open(sys.argv[2], "w", encoding="utf-8") as out:
    out.write("\n".join(["// Generated from the policy template by tests/policy_template.py.", "#pragma once",
                         "#include <windows.h>", "struct TemplatePolicy {", "    const wchar_t* name;",
                         "    bool machine, user;", "    const wchar_t *key, *valueName; // no value name: a list",
                         "    DWORD enabledValue, disabledValue;", "};",
                         "inline constexpr TemplatePolicy kTemplatePolicies[] = {", *rows, "};", ""]))
