"""The errors a run, a goal seek, a sensitivity study or a fit ends with."""


class RunError(Exception):
    """A run that ended without a converged spinline; str() is its message."""

    def __init__(self, message):
        super().__init__(message)
        self.message = message


class InputRefused(RunError):
    """An input the window would refuse.

    ``field`` is the input's Python name (None when no single field is
    meant) and ``message`` the window's message, followed, for one input,
    by what that input takes ("... must be > 0").
    """

    def __init__(self, field, message):
        super().__init__(message)
        self.field = field

    def __str__(self):
        return self.message if self.field is None else f"{self.field}: {self.message}"

    def __reduce__(self):
        return type(self), (self.field, self.message)


class InputTypeError(InputRefused, TypeError):
    """A value of a type that cannot stand for its input (or for a keyword
    such as frame=, which ``field`` then names): a TypeError as well."""


class FloatingPointFault(RunError):
    """A division by zero, an overflow or an invalid operation ended the run."""


class NotConverged(RunError):
    """The shooting on the spinneret tension gave up after its trial bound,
    max_trials, which the message names."""


class NoSolution(RunError):
    """No value in the goal seek's reach gives the target; the message says
    what the output ran through."""


class MeasuredRefused(InputRefused, ValueError):
    """Measured points that cannot be read, or that lie off the spinline.

    ``field`` is "measured" and ``message`` the reader's, naming the file
    (or "DataFrame") and the line, as ppspin-cli --measured says it; str()
    is the message.
    """

    def __str__(self):
        return self.message
