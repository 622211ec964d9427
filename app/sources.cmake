# Sources of app/.
