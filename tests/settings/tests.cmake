# Tests of settings/.
