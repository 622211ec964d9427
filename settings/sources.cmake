# Sources of settings/.
