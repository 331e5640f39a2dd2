"""Docstrings that list the inputs, made from the C++ input catalogue so
that they name every input with its unit and default as ppspin-cli does."""

import textwrap

from . import _core


def _input_lines(fields):
    width = max(len(f["name"]) for f in fields)
    return "\n".join(
        f"    {f['name']:<{width}}  {f['help']}, default {f['default']}" for f in fields
    )


def inputs_section():
    """The inputs part of a docstring: the editable fields, then the fixed."""
    fields = _core.catalogue()
    editable = [f for f in fields if f["editable"]]
    fixed = [f for f in fields if not f["editable"]]
    return (
        "Inputs, each a number (written as its shortest round-trip text with\n"
        '".") or a field text used as it is; an input not given keeps its default:\n\n'
        + _input_lines(editable)
        + "\n\nFixed in this program, as the window shows them disabled; each may be\n"
        "given, but only with its default value (else InputRefused):\n\n"
        + _input_lines(fixed)
        + "\n"
    )


def with_inputs(function):
    """Puts the inputs section where the docstring has a line "{inputs}",
    indented as the docstring is."""
    section = textwrap.indent(inputs_section(), "    ")
    function.__doc__ = function.__doc__.replace("    {inputs}", section)
    return function
