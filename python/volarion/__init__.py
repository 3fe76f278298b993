"""Fast, exact decoder of OGN (Open Glider Network) aircraft beacons."""

from . import volarion_native
from .volarion_native import *  # noqa: F403 - the package re-exports the module's names

__all__ = list(volarion_native.__all__)
